' CreateObject for a class the engine does not know, GetObject for a management moniker
On Error Resume Next
Set o = CreateObject("No.Such.Thing")
WScript.Echo Err.Number & " " & Err.Description
Err.Clear
Set o = GetObject("winmgmts:\\.\root\cimv2")
WScript.Echo Err.Number
WScript.Echo TypeName(o)
Err.Clear
Set o = WScript.CreateObject("No.Such.Thing")
WScript.Echo Err.Number
