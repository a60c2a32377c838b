' Process start and stop monitor, written the way administrators write it: an event query
' polled every half second, a program started and stopped by the script itself
Option Explicit
Dim objWMIService, colMonitoredProcesses, objLatestProcess, objShell, objChild, i
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set colMonitoredProcesses = objWMIService.ExecNotificationQuery _
    ("SELECT * FROM __InstanceOperationEvent WITHIN 0.5 WHERE TargetInstance ISA 'Win32_Process'" & _
     " AND TargetInstance.CommandLine LIKE '%sleep 31.4159'")
Set objShell = CreateObject("WScript.Shell")
Set objChild = objShell.Exec("sleep 31.4159")
Set objLatestProcess = colMonitoredProcesses.NextEvent(10000)
WScript.Echo "Started: " & objLatestProcess.TargetInstance.Name & " (" & objLatestProcess.Path_.Class & ")"
WScript.Echo "Same process: " & (objLatestProcess.TargetInstance.ProcessId = objChild.ProcessID)
objChild.Terminate
For i = 1 To 20
    Set objLatestProcess = colMonitoredProcesses.NextEvent(10000)
    If objLatestProcess.Path_.Class = "__InstanceDeletionEvent" Then Exit For
Next
WScript.Echo "Stopped: " & objLatestProcess.TargetInstance.Name & " (" & objLatestProcess.Path_.Class & ")"
On Error Resume Next
Set objLatestProcess = colMonitoredProcesses.NextEvent(600)
If Err.Number = &H80043001 Then WScript.Echo "Nothing more within the time-out"
