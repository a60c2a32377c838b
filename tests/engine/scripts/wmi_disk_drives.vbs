' Physical disk inventory: model, interface and size of every disk drive
Const GB = 1073741824
Set objShell = CreateObject("WScript.Shell")
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set colDisks = objWMIService.ExecQuery("Select * from Win32_DiskDrive")

' What the kernel lists as whole disks, with their sizes in bytes, for the cross-check
Set objExec = objShell.Exec("sh -c ""for d in /sys/block/*; do case ${d##*/} in loop*|ram*|zram*|dm-*|md*|sr*|fd*|nbd*) continue;; esac; [ -e $d/device ] && echo $(( $(cat $d/size) * 512 )); done""")
strKernelSizes = " " & Replace(objExec.StdOut.ReadAll, vbLf, " ")

blnIdsInOrder = True
blnSizesAgree = True
blnInterfaceKnown = True
intIndex = 0
For Each objDisk In colDisks
    strReport = objDisk.DeviceID & ": " & objDisk.Model & " (" & objDisk.InterfaceType & ") " & _
        FormatNumber(CDbl(objDisk.Size) / GB, 1) & " GB, " & objDisk.Partitions & " partition(s)"
    If objDisk.DeviceID <> "\\.\PHYSICALDRIVE" & intIndex Or objDisk.Index <> intIndex Then blnIdsInOrder = False
    If InStr(strKernelSizes, " " & objDisk.Size & " ") = 0 Then blnSizesAgree = False
    Select Case objDisk.InterfaceType
        Case "SCSI", "IDE", "USB", "1394"
        Case Else blnInterfaceKnown = False
    End Select
    If CDbl(objDisk.TotalSectors) * objDisk.BytesPerSector <> CDbl(objDisk.Size) Then blnSizesAgree = False
    intIndex = intIndex + 1
Next
WScript.Echo "Disks match the kernel's count: " & (colDisks.Count = UBound(Split(Trim(strKernelSizes), " ")) + 1)
WScript.Echo "Numbered PHYSICALDRIVE0 upwards: " & blnIdsInOrder
WScript.Echo "Sizes agree with /sys: " & blnSizesAgree
WScript.Echo "Interfaces named: " & blnInterfaceKnown
