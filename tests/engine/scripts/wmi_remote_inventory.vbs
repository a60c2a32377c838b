' Inventory over a list of computers: the reachable ones report, the others are logged and skipped
Set objShell = CreateObject("WScript.Shell")
strHostName = Trim(Replace(objShell.Exec("hostname").StdOut.ReadAll, vbLf, ""))
If InStr(strHostName, ".") > 0 Then strHostName = Left(strHostName, InStr(strHostName, ".") - 1)
arrComputers = Array(".", "localhost", strHostName, "no-such-computer")
Set objLocator = CreateObject("WbemScripting.SWbemLocator")

On Error Resume Next
For Each strComputer In arrComputers
    Err.Clear
    strShown = strComputer
    If strComputer = strHostName Then strShown = "(host name)"
    Set objService = objLocator.ConnectServer(strComputer, "root\cimv2")
    If Err.Number <> 0 Then
        WScript.Echo strShown & ": unreachable (" & Hex(Err.Number) & ")"
    Else
        intDisks = objService.ExecQuery("Select * from Win32_DiskDrive").Count
        intAdapters = objService.ExecQuery("Select * from Win32_NetworkAdapter Where PhysicalAdapter = True").Count
        For Each objZone In objService.InstancesOf("Win32_TimeZone")
            strZone = objZone.StandardName
        Next
        For Each objSystem In objService.InstancesOf("Win32_ComputerSystem")
            strName = objSystem.Name
        Next
        WScript.Echo strShown & ": answers as this computer " & (LCase(strName) = LCase(strHostName)) & _
            ", disks " & (intDisks >= 0) & ", zone named " & (Len(strZone) > 0) & ", errors " & Err.Number
    End If
Next
