' On Error Resume Next starts with a clear Err, in every procedure that says it
Sub Fails
  On Error Resume Next
  WScript.Echo "in sub", Err.Number
  x = 1 / 0
  WScript.Echo "sub failed", Err.Number
End Sub
On Error Resume Next
x = 1 / 0
WScript.Echo "failed", Err.Number, Err.Description
On Error Resume Next
WScript.Echo "again", Err.Number, Err.Description = ""
Err.Raise 5
Fails
Execute "On Error Resume Next"
WScript.Echo "after execute", Err.Number
On Error GoTo 0
WScript.Echo "goto 0", Err.Number
