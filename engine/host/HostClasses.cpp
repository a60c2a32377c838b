#include "engine/host/HostClasses.h"

#include "engine/host/HostLibrary.h"

namespace quillet::engine::host {

namespace {

using namespace om;
using namespace om::types;

constexpr uint8_t kPure = member::kSideEffectFree;

constexpr SParam kFlag[] = {In(u"", Bool)};
constexpr SParam kSeconds[] = {In(u"", Long)};
constexpr SParam kExitCode[] = {Optional(u"ExitCode", Int, IntegerDefault(0))};
constexpr SParam kCreateObject[] = {In(u"ProgID", Bstr), Optional(u"Prefix", Bstr, TextDefault(u""))};
constexpr SParam kEcho[] = {In(u"pArgs", VariantArray)};
constexpr SParam kGetObject[] = {In(u"Pathname", Bstr), Optional(u"ProgID", Bstr, TextDefault(u"")),
                                 Optional(u"Prefix", Bstr, TextDefault(u""))};
constexpr SParam kObject[] = {In(u"Object", Dispatch)};
constexpr SParam kTime[] = {In(u"Time", Long)};
constexpr SParam kConnect[] = {In(u"Object", Dispatch), In(u"Prefix", Bstr)};

constexpr SMember kHostMembers[] = {
    Get(u"Name", host_id::Name, Bstr, {}, u"The name of the script host.", kPure),
    Get(u"Application", host_id::Application, Dispatch, {}, u"The host object itself.", kPure),
    Get(u"FullName", host_id::FullName, Bstr, {}, u"The path of the host program.", kPure),
    Get(u"Path", host_id::Path, Bstr, {}, u"The folder that holds the host program.", kPure),
    Get(u"Interactive", host_id::Interactive, Bool, {}, u"Whether the script may show messages and prompts.",
        kPure),
    Let(u"Interactive", host_id::Interactive, kFlag, u"Sets whether the script may show messages and prompts."),
    Method(u"Quit", host_id::Quit, Void, kExitCode, u"Ends the script with an exit code."),
    Get(u"ScriptName", host_id::ScriptName, Bstr, {}, u"The file name of the running script.", kPure),
    Get(u"ScriptFullName", host_id::ScriptFullName, Bstr, {}, u"The full path of the running script.", kPure),
    Get(u"Arguments", host_id::Arguments, Object(u"IArguments2"), {}, u"The arguments the script was given.",
        kPure),
    Get(u"Version", host_id::Version, Bstr, {}, u"The version of the script host.", kPure),
    Get(u"BuildVersion", host_id::BuildVersion, Int, {}, u"The build number of the script host.", kPure),
    Get(u"Timeout", host_id::Timeout, Long, {}, u"Seconds the script may run before the host ends it; 0 for no limit.",
        kPure),
    Let(u"Timeout", host_id::Timeout, kSeconds, u"Sets the seconds the script may run; 0 for no limit."),
    Method(u"CreateObject", host_id::CreateObject, Dispatch, kCreateObject, u"Makes a new object of a class named by its ProgID."),
    Method(u"Echo", host_id::Echo, Void, kEcho, u"Shows its arguments, separated by spaces, as one line.",
           member::kVarArg),
    Method(u"GetObject", host_id::GetObject, Dispatch, kGetObject, u"An object from a file, or a new one of a class."),
    Method(u"DisconnectObject", host_id::DisconnectObject, Void, kObject,
           u"Stops passing an object's events to the script."),
    Method(u"Sleep", host_id::Sleep, Void, kTime, u"Waits a number of milliseconds."),
    Method(u"ConnectObject", host_id::ConnectObject, Void, kConnect,
           u"Passes an object's events to the script's procedures that start with a prefix."),
    Get(u"StdIn", host_id::StdIn, Object(u"ITextStream"), {}, u"The standard input of the console host.", kPure),
    Get(u"StdOut", host_id::StdOut, Object(u"ITextStream"), {}, u"The standard output of the console host.", kPure),
    Get(u"StdErr", host_id::StdErr, Object(u"ITextStream"), {}, u"The standard error of the console host.", kPure),
};

constexpr SParam kIndex[] = {In(u"Index", Long)};
constexpr SParam kName[] = {In(u"Name", Variant)};
constexpr SParam kKey[] = {In(u"Key", Bstr)};

constexpr SMember kArgumentsMembers[] = {
    Method(u"Item", arguments_id::Item, Bstr, kIndex, u"One argument, counted from 0."),
    Method(u"Count", arguments_id::Count, Long, {}, u"The number of arguments."),
    Get(u"length", arguments_id::Length, Long, {}, u"The number of arguments.", kPure),
    Get(u"Named", arguments_id::Named, Object(u"IWshNamed"), {}, u"The arguments written /name:value.", kPure),
    Get(u"Unnamed", arguments_id::Unnamed, Object(u"IWshUnnamed"), {}, u"The arguments not written /name:value.",
        kPure),
    Method(u"ShowUsage", arguments_id::ShowUsage, Void, {}, u"Shows how the script is to be called."),
};

constexpr SMember kNamedMembers[] = {
    Get(u"Item", arguments_id::Item, Variant, kName,
        u"The value of a named argument, or the name at a position counted from 0."),
    Method(u"Count", arguments_id::Count, Long, {}, u"The number of named arguments."),
    Get(u"length", arguments_id::Length, Long, {}, u"The number of named arguments.", kPure),
    Method(u"Exists", arguments_id::Exists, Bool, kKey, u"Tells whether an argument of that name was given."),
};

constexpr SMember kUnnamedMembers[] = {
    Get(u"Item", arguments_id::Item, Variant, kIndex, u"One unnamed argument, counted from 0."),
    Method(u"Count", arguments_id::Count, Long, {}, u"The number of unnamed arguments."),
    Get(u"length", arguments_id::Length, Long, {}, u"The number of unnamed arguments.", kPure),
};

constexpr SParam kCharacters[] = {In(u"Characters", Long)};
constexpr SParam kText[] = {In(u"Text", Bstr)};
constexpr SParam kLineText[] = {Optional(u"Text", Bstr, TextDefault(u""))};
constexpr SParam kLines[] = {In(u"Lines", Long)};

// Reading the end of a console stream waits for the user, so the debugger never does.
constexpr SMember kTextStreamMembers[] = {
    Get(u"Line", text_stream_id::Line, Long, {}, u"The line the stream is at, counted from 1.", kPure),
    Get(u"Column", text_stream_id::Column, Long, {}, u"The column the stream is at, counted from 1.", kPure),
    Get(u"AtEndOfStream", text_stream_id::AtEndOfStream, Bool, {}, u"Whether nothing is left to read."),
    Get(u"AtEndOfLine", text_stream_id::AtEndOfLine, Bool, {}, u"Whether the next character ends a line."),
    Method(u"Read", text_stream_id::Read, Bstr, kCharacters, u"Reads a number of characters."),
    Method(u"ReadLine", text_stream_id::ReadLine, Bstr, {}, u"Reads one line, without its line break."),
    Method(u"ReadAll", text_stream_id::ReadAll, Bstr, {}, u"Reads everything that is left."),
    Method(u"Write", text_stream_id::Write, Void, kText, u"Writes a text."),
    Method(u"WriteLine", text_stream_id::WriteLine, Void, kLineText, u"Writes a text and a line break."),
    Method(u"WriteBlankLines", text_stream_id::WriteBlankLines, Void, kLines, u"Writes a number of line breaks."),
    Method(u"Skip", text_stream_id::Skip, Void, kCharacters, u"Reads past a number of characters."),
    Method(u"SkipLine", text_stream_id::SkipLine, Void, {}, u"Reads past one line."),
    Method(u"Close", text_stream_id::Close, Void, {}, u"Closes the stream."),
};

}  // namespace

constinit const SInterface kHostInterface{u"IHost", Guid("91AFBD1B-5FEB-43F5-B028-E2CA960617EC"), kHostMembers,
                                          u"The script host: the running script, its arguments and the console."};
constinit const SInterface kArgumentsInterface{u"IArguments2", Guid("2CC5A9D1-B1E5-11D3-A286-00104BD35090"),
                                               kArgumentsMembers, u"The arguments of the script."};
// Not in the listing we follow; declared under the names Windows uses, with GUIDs of our own.
constinit const SInterface kNamedArgumentsInterface{u"IWshNamed", Guid("E5DE3179-A873-4164-89BF-B02D54C2A97B"),
                                                    kNamedMembers, u"The arguments of the script written /name:value."};
constinit const SInterface kUnnamedArgumentsInterface{u"IWshUnnamed",
                                                      Guid("18FE0BBD-DD16-4CCD-B9D8-0A849884C18D"), kUnnamedMembers,
                                                      u"The arguments of the script not written /name:value."};
constinit const SInterface kTextStreamInterface{u"ITextStream", Guid("53BAD8C1-E718-11CF-893D-00A0C9054228"),
                                                kTextStreamMembers, u"A stream of text read or written in order.",
                                                iface::kHidden | iface::kNonExtensible};

// The editor's source analysis finds the host object by this class id.
constinit const SClass kHostClass{
    .name = u"WScript",
    .clsid = Guid("60254CA2-953B-11CF-8C96-00AA00B8708C"),
    .library = &kHostLibrary,
    .defaultInterface = &kHostInterface,
    .typeName = u"Object",
    .server = EServer::LocalProcess,
    .help = u"The object a script host gives every script it runs.",
};
// The library declares no coclass for these.
constinit const SClass kArgumentsClass{
    .name = {}, .library = &kHostLibrary, .defaultInterface = &kArgumentsInterface, .typeName = u"Object"};
constinit const SClass kNamedArgumentsClass{
    .name = {}, .library = &kHostLibrary, .defaultInterface = &kNamedArgumentsInterface, .typeName = u"Object"};
constinit const SClass kUnnamedArgumentsClass{
    .name = {}, .library = &kHostLibrary, .defaultInterface = &kUnnamedArgumentsInterface, .typeName = u"Object"};
constinit const SClass kTextStreamClass{
    .name = {}, .library = &kHostLibrary, .defaultInterface = &kTextStreamInterface, .typeName = u"TextStream"};

}  // namespace quillet::engine::host
