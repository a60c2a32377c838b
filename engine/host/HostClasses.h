#pragma once
// The script host's objects as the object model declares them: the WScript object (IHost),
// its Arguments with the Named and Unnamed views, and the standard streams (ITextStream).

#include <cstdint>

#include "engine/runtime/ObjectModel.h"

namespace quillet::engine::host {

namespace host_id {
enum : int32_t {
  Name = 0, Application = 100, FullName = 101, Path = 102, Interactive = 103, Quit = 200, ScriptName = 1000,
  ScriptFullName = 1001, Arguments = 1002, Version = 1003, BuildVersion = 1004, Timeout = 1005, StdIn = 1006,
  StdOut = 1007, StdErr = 1008, CreateObject = 2000, Echo = 2001, GetObject = 2002, DisconnectObject = 2003,
  Sleep = 2004, ConnectObject = 2005,
};
}  // namespace host_id

// IArguments2 and its two views share their first three DISPIDs; those from Named on are ours.
namespace arguments_id {
enum : int32_t { Item = 0, Count = 1, Length = 2, Named = 3, Unnamed = 4, ShowUsage = 5, Exists = 6 };
}  // namespace arguments_id

namespace text_stream_id {
enum : int32_t {
  Line = 10000, Column = -529, AtEndOfStream = 10002, AtEndOfLine = 10003, Read = 10004, ReadLine = 10005,
  ReadAll = 10006, Write = 10007, WriteLine = 10008, WriteBlankLines = 10009, Skip = 10010, SkipLine = 10011,
  Close = 10012,
};
}  // namespace text_stream_id

extern const om::SInterface kHostInterface, kArgumentsInterface, kNamedArgumentsInterface,
    kUnnamedArgumentsInterface, kTextStreamInterface;
extern const om::SClass kHostClass, kArgumentsClass, kNamedArgumentsClass, kUnnamedArgumentsClass,
    kTextStreamClass;

}  // namespace quillet::engine::host
