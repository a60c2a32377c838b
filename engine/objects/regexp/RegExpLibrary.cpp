#include "engine/objects/regexp/RegExpLibrary.h"

#include "engine/objects/regexp/RegExpClasses.h"

namespace quillet::engine {

namespace {

using namespace om;

constexpr const SInterface* kInterfaces[] = {
    &kRegExpInterface, &kRegExp2Interface, &kMatchInterface, &kMatch2Interface, &kMatchCollectionInterface,
    &kMatchCollection2Interface, &kSubMatchesInterface};
constexpr const SClass* kClasses[] = {&kRegExpClass, &kMatchClass, &kMatchCollectionClass, &kSubMatchesClass};

}  // namespace

constinit const SLibrary kRegExpLibrary{
    .name = u"VBScript_RegExp_55",
    .libid = Guid("3F4DACA7-160D-11D2-A8E9-00104B365C9F"),
    .majorVersion = 5,
    .minorVersion = 5,
    .help = u"Regular expressions for scripts.",
    .interfaces = kInterfaces,
    .classes = kClasses,
};

}  // namespace quillet::engine
