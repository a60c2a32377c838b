' A one-page system summary in the manner of the system information tools
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set objShell = CreateObject("WScript.Shell")

Sub Section(strTitle, strClass, strProperties)
    Set colItems = objWMIService.ExecQuery("Select " & strProperties & " from " & strClass)
    intMissing = 0
    For Each objItem In colItems
        For Each objProperty In objItem.Properties_
            If Not IsNull(objProperty.Value) And Not objProperty.IsArray Then strText = strText & objProperty.Name & "=" & objProperty.Value & ";"
        Next
        For Each strName In Split(Replace(strProperties, " ", ""), ",")
            If strName <> "*" Then If IsNull(objItem.Properties_.Item(strName).Value) Then intMissing = intMissing + 1
        Next
    Next
    WScript.Echo strTitle & ": listed " & (colItems.Count > 0) & ", " & intMissing & " unknown value(s)"
End Sub

Section "Time zone", "Win32_TimeZone", "Caption, Bias, StandardName"
Section "Adapters' names", "Win32_NetworkAdapter", "Name, NetConnectionID"
Section "Volumes' file systems", "Win32_Volume", "Name, FileSystem"
Section "Disks' sizes", "Win32_DiskDrive", "DeviceID, Size"

' The number of adapters and volumes comes from the kernel too
strCount = objShell.Exec("sh -c ""ls /sys/class/net | wc -l""").StdOut.ReadAll
WScript.Echo "Adapters besides loopback: " & (objWMIService.InstancesOf("Win32_NetworkAdapter").Count = CInt(strCount) - 1)
