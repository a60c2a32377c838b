' The language's named constants compile as literals and cannot be assigned.
Option Explicit
WScript.Echo Len(vbCrLf), Asc(vbCr), Asc(vbLf), Asc(vbTab), Len(vbNullString), vbNewLine = vbCrLf
WScript.Echo Asc(vbFormFeed), Asc(vbVerticalTab)
WScript.Echo vbBinaryCompare, vbTextCompare, vbUseDefault, vbTrue, vbFalse
WScript.Echo vbObjectError, Hex(vbObjectError + 1)
WScript.Echo vbEmpty, vbNull, vbString, vbBoolean, vbByte, vbArray, VarType(Array()) = vbArray + vbVariant
WScript.Echo vbOKOnly, vbYesNoCancel, vbQuestion, vbDefaultButton2, vbSystemModal, vbYes, vbNo, vbCancel
WScript.Echo vbRed, vbGreen, vbBlue, vbWhite
WScript.Echo vbSunday, vbSaturday, vbFirstFourDays, vbShortDate
WScript.Echo InStr(1, "ABC", "b", vbTextCompare), VBCRLF = vbCrLf
Sub UsesConstant()
  WScript.Echo "in a procedure:", vbTab = Chr(9)
End Sub
UsesConstant
On Error Resume Next
Execute "vbTab = 1"
WScript.Echo "assign:", Err.Number
WScript.Echo ScriptEngine, ScriptEngineMajorVersion & "." & ScriptEngineMinorVersion
