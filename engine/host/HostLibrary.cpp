#include "engine/host/HostLibrary.h"

#include "engine/host/HostClasses.h"

namespace quillet::engine::host {

namespace {

using namespace om;

constexpr const SInterface* kInterfaces[] = {&kArgumentsInterface, &kNamedArgumentsInterface,
                                             &kUnnamedArgumentsInterface, &kTextStreamInterface, &kHostInterface};
constexpr const SClass* kClasses[] = {&kHostClass, &kArgumentsClass, &kNamedArgumentsClass,
                                      &kUnnamedArgumentsClass, &kTextStreamClass};

}  // namespace

constinit const SLibrary kHostLibrary{
    .name = u"IHost",
    .libid = Guid("60254CA0-953B-11CF-8C96-00AA00B8708C"),
    .majorVersion = 5,
    .minorVersion = 6,
    .help = u"The objects of the script host.",
    .interfaces = kInterfaces,
    .classes = kClasses,
};

}  // namespace quillet::engine::host
