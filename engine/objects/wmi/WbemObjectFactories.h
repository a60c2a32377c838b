#pragma once
// What CreateObject calls for the WbemScripting classes scripts can create by ProgID.

namespace quillet::engine {

class CDispatchObject;

CDispatchObject* NewWbemLocator();
CDispatchObject* NewWbemNamedValueSet();
CDispatchObject* NewWbemDateTime();

}  // namespace quillet::engine
