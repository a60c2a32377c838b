' The errors scripts test for, then one left to the host to report
On Error Resume Next
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")
Set colItems = objWMIService.ExecQuery("Select * from Win32_NoSuchClass")
WScript.Echo "Invalid class: " & Hex(Err.Number)
Err.Clear
Set objService = GetObject("winmgmts:\\.\root\cimv2:Win32_Process.Handle='no such process'")
WScript.Echo "Not found: " & Hex(Err.Number)
Err.Clear
Set objRemote = GetObject("winmgmts:\\far-away-host-of-nobody\root\cimv2")
WScript.Echo "Unreachable: " & Hex(Err.Number)
On Error GoTo 0
Set colItems = objWMIService.ExecQuery("Select * from Win32_Process Where")
