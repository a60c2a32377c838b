' Start a process with Win32_Process.Create and wait for it to finish, as administrators write
' it: poll for the process id until the process is gone.
Option Explicit
Dim objWMIService, objProcess, intReturn, intPID, colProcesses, i, blnSeen, blnGone, objStartup
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set objProcess = objWMIService.Get("Win32_Process")
intReturn = objProcess.Create("sleep 2", Null, Null, intPID)
WScript.Echo "Create returned: " & intReturn
Set colProcesses = objWMIService.ExecQuery("Select * from Win32_Process Where ProcessId = " & intPID)
blnSeen = False
For Each objProcess In colProcesses
    If objProcess.Name = "sleep" And objProcess.ParentProcessId > 0 Then blnSeen = True
Next
WScript.Echo "Seen running: " & blnSeen
blnGone = False
For i = 1 To 200
    If objWMIService.ExecQuery("Select * from Win32_Process Where ProcessId = " & intPID).Count = 0 Then
        blnGone = True
        Exit For
    End If
    WScript.Sleep 50
Next
WScript.Echo "Finished: " & blnGone
Select Case objWMIService.Get("Win32_Process").Create("no-such-program-anywhere", Null, Null, intPID)
    Case 0 WScript.Echo "Started"
    Case 2 WScript.Echo "Access denied"
    Case 3 WScript.Echo "Insufficient privilege"
    Case 8 WScript.Echo "Unknown failure"
    Case 9 WScript.Echo "Path not found"
    Case 21 WScript.Echo "Invalid parameter"
End Select
