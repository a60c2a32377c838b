' Disk space report per drive letter, as administrators write it, checked against
' FileSystemObject's drives: the same letters, sizes and file systems.
Option Explicit
Const HARD_DISK = 3
Dim fso, objWMIService, colDisks, objDisk, objDrive, blnSame, intLetters, dblFree
Set fso = CreateObject("Scripting.FileSystemObject")
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set colDisks = objWMIService.ExecQuery("Select * from Win32_LogicalDisk")
blnSame = True
intLetters = 0
For Each objDisk In colDisks
    If Len(objDisk.DeviceID) = 2 And Right(objDisk.DeviceID, 1) = ":" Then
        intLetters = intLetters + 1
        Set objDrive = fso.GetDrive(objDisk.DeviceID)
        If objDrive.IsReady Then
            If CDbl(objDisk.Size) <> objDrive.TotalSize Then blnSame = False
            If objDisk.FileSystem <> objDrive.FileSystem Then blnSame = False
            dblFree = CDbl(objDisk.FreeSpace)
            If dblFree > CDbl(objDisk.Size) Then blnSame = False
        End If
    End If
Next
WScript.Echo "Every drive listed: " & (intLetters = fso.Drives.Count)
WScript.Echo "Same facts as the drives: " & blnSame
Set objDisk = objWMIService.Get("Win32_LogicalDisk.DeviceID='W:'")
WScript.Echo objDisk.DeviceID & " " & objDisk.Description & " " & (objDisk.DriveType = HARD_DISK)
