' The classic check for services set to start automatically that are not running, by a WQL
' query, compared with the same filter applied by the script to the full list.
Option Explicit
Dim objWMIService, colQueried, colAll, objService, intByScript, intAuto, strNames
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set colQueried = objWMIService.ExecQuery _
    ("Select Name, State, StartMode from Win32_Service Where StartMode = 'Auto' And State <> 'Running'")
Set colAll = objWMIService.ExecQuery("Select * from Win32_Service")
intByScript = 0 : intAuto = 0
For Each objService In colAll
    If objService.StartMode = "Auto" Then intAuto = intAuto + 1
    If objService.StartMode = "Auto" And objService.State <> "Running" Then intByScript = intByScript + 1
Next
WScript.Echo "Query and script agree: " & (colQueried.Count = intByScript)
WScript.Echo "No more than the automatic ones: " & (colQueried.Count <= intAuto)
For Each objService In colQueried
    ' Only the properties asked for, and the key, are filled in.
    If Not IsNull(objService.DisplayName) Then WScript.Echo "Unasked property filled: " & objService.Name
    If objService.StartMode <> "Auto" Then WScript.Echo "Wrong start mode: " & objService.Name
Next
WScript.Echo "Manual or disabled: " & (objWMIService.ExecQuery _
    ("Select * from Win32_Service Where StartMode = 'Manual' Or StartMode = 'Disabled'").Count + intAuto = colAll.Count)
