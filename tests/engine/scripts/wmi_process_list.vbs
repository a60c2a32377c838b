' Process list, written the way administrators write it; prints only what holds on any machine
Option Explicit
Dim strComputer, objWMIService, colProcessList, objProcess, intCount, blnInit, blnNamed
strComputer = "."
Set objWMIService = GetObject("winmgmts:" _
    & "{impersonationLevel=impersonate}!\\" & strComputer & "\root\cimv2")
Set colProcessList = objWMIService.ExecQuery("Select * from Win32_Process", , 48)
intCount = 0
blnNamed = True
For Each objProcess in colProcessList
    intCount = intCount + 1
    If objProcess.ProcessId = 1 Then blnInit = True
    If Len(objProcess.Name) = 0 Then blnNamed = False
Next
WScript.Echo "More than one process: " & (intCount > 1)
WScript.Echo "Process 1 listed: " & blnInit
WScript.Echo "Every process named: " & blnNamed
