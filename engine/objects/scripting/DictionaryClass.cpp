#include "engine/objects/scripting/DictionaryClass.h"

#include "engine/objects/scripting/DictionaryObject.h"
#include "engine/objects/scripting/ScriptingLibrary.h"

namespace quillet::engine {

namespace {

using namespace om;
using namespace om::types;
using namespace dictionary_id;

constexpr SParam kKey[] = {In(u"Key", VariantRef)};
constexpr SParam kKeyAndValue[] = {In(u"Key", VariantRef), In(u"", VariantRef)};
constexpr SParam kKeyAndItem[] = {In(u"Key", VariantRef), In(u"Item", VariantRef)};
constexpr SParam kCompareMethod[] = {In(u"", Enum(u"CompareMethod"))};

constexpr SMember kMembers[] = {
    SetRef(u"Item", Item, kKeyAndValue, u"Stores an object under a key, adding the key when it is new."),
    Let(u"Item", Item, kKeyAndValue, u"Stores a value under a key, adding the key when it is new."),
    Get(u"Item", Item, Variant, kKey,
        u"The item stored under a key; reading a key that is not there adds it with an empty item."),
    Method(u"Add", Add, Void, kKeyAndItem, u"Adds an item under a key the dictionary does not hold yet."),
    Get(u"Count", Count, Long, {}, u"The number of keys the dictionary holds.", member::kSideEffectFree),
    Method(u"Exists", Exists, Bool, kKey, u"Tells whether the dictionary holds a key."),
    Method(u"Items", Items, Variant, {}, u"An array of the items, in the order their keys were added."),
    Let(u"Key", Key, kKeyAndValue, u"Gives an item a new key, keeping its place in the order."),
    Method(u"Keys", Keys, Variant, {}, u"An array of the keys, in the order they were added."),
    Method(u"Remove", Remove, Void, kKey, u"Removes a key and its item."),
    Method(u"RemoveAll", RemoveAll, Void, {}, u"Removes every key and item."),
    Let(u"CompareMode", CompareMode, kCompareMethod,
        u"Sets how text keys compare; allowed only while the dictionary is empty."),
    Get(u"CompareMode", CompareMode, Enum(u"CompareMethod"), {},
        u"How text keys compare: 0 exactly, 1 without regard to case.", member::kSideEffectFree),
    Method(u"_NewEnum", NewEnum, Unknown, {}, u"Walks the keys for For Each.", member::kRestricted),
    Get(u"HashVal", HashVal, Variant, kKey, u"A number computed from a key, the same for keys the dictionary holds as one.",
        member::kHidden),
};

constexpr std::u16string_view kProgIds[] = {u"Scripting.Dictionary"};

CDispatchObject* NewDictionary() { return new CDictionaryObject(); }

}  // namespace

constinit const SInterface kDictionaryInterface{
    u"IDictionary", Guid("42C642C1-97E1-11CF-978F-00A02463E06F"), kMembers,
    u"Items kept under unique keys, in the order they were added.", iface::kHidden};

constinit const SClass kDictionaryClass{
    .name = u"Dictionary",
    .clsid = Guid("EE09B103-97E0-11CF-978F-00A02463E06F"),
    .library = &kScriptingLibrary,
    .defaultInterface = &kDictionaryInterface,
    .typeName = u"Dictionary",
    .progIds = kProgIds,
    .server = EServer::InProcess,
    .create = NewDictionary,
    .help = u"A collection of items, each under a key of its own.",
};

}  // namespace quillet::engine
