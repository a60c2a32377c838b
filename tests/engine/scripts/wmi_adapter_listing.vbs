' Network adapters with their configuration, paired by index as inventory scripts pair them
Set objShell = CreateObject("WScript.Shell")
strComputer = "."
Set objWMIService = GetObject("winmgmts:\\" & strComputer & "\root\cimv2")

Function ShellOutput(strCommand)
    ShellOutput = Trim(Replace(objShell.Exec("sh -c """ & strCommand & """").StdOut.ReadAll, vbLf, " "))
End Function

Set colAdapters = objWMIService.ExecQuery("Select * from Win32_NetworkAdapter")
intNonLoopback = CInt(ShellOutput("for n in /sys/class/net/*; do [ $(cat $n/type) != 772 ] && echo $n; done | wc -l"))
WScript.Echo "Adapters as /sys/class/net: " & (colAdapters.Count = intNonLoopback)
blnMacAgrees = True
blnPaired = True
blnStatusAgrees = True
For Each objAdapter In colAdapters
    strMac = UCase(ShellOutput("cat /sys/class/net/" & objAdapter.NetConnectionID & "/address"))
    If objAdapter.MACAddress & "" <> strMac And strMac <> "00:00:00:00:00:00" Then blnMacAgrees = False
    strState = ShellOutput("cat /sys/class/net/" & objAdapter.NetConnectionID & "/operstate")
    If (objAdapter.NetConnectionStatus = 2) <> (strState = "up" Or strState = "unknown") Then blnStatusAgrees = False
    Set colConfigs = objWMIService.ExecQuery _
        ("Select * from Win32_NetworkAdapterConfiguration Where Index = " & objAdapter.Index)
    For Each objConfig In colConfigs
        strLine = objAdapter.Name & " " & objAdapter.MACAddress & " " & objAdapter.Speed
        If objConfig.IPEnabled Then
            For Each strAddress In objConfig.IPAddress
                strLine = strLine & " " & strAddress
            Next
        End If
        If objConfig.MACAddress & "" <> objAdapter.MACAddress & "" Then blnPaired = False
    Next
    If colConfigs.Count <> 1 Then blnPaired = False
Next
WScript.Echo "Hardware addresses as /sys: " & blnMacAgrees
WScript.Echo "Connection states as /sys: " & blnStatusAgrees
WScript.Echo "Each adapter has its configuration: " & blnPaired
Set colOdd = objWMIService.ExecQuery("Select * from Win32_NetworkAdapter Where NetConnectionStatus = 2 And NetEnabled = False")
WScript.Echo "Connected adapters enabled: " & (colOdd.Count = 0)
