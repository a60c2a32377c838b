' Disk space report for the local fixed disks
Const LOCAL_DISK = 3
Const GB = 1073741824
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")
Set colDisks = objWMIService.ExecQuery _
    ("Select * from Win32_LogicalDisk Where DriveType = " & LOCAL_DISK & "")
blnRoot = False
blnSane = True
For Each objDisk in colDisks
    If objDisk.DeviceID = "Z:" Then blnRoot = True
    dblFree = CDbl(objDisk.FreeSpace) / GB
    dblSize = CDbl(objDisk.Size) / GB
    If dblFree > dblSize Or dblSize <= 0 Then blnSane = False
    strLine = objDisk.DeviceID & " " & FormatNumber(dblFree, 1) & " GB free of " & FormatNumber(dblSize, 1)
Next
WScript.Echo "Root disk reported: " & blnRoot
WScript.Echo "Sizes consistent: " & blnSane
