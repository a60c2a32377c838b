' Drives: the letters of the drive map (C:, W: of this test's settings, Z:) and their facts.
Set fso = CreateObject("Scripting.FileSystemObject")
Set drives = fso.Drives
WScript.Echo TypeName(drives), drives.Count
For Each d In drives
  WScript.Echo d.DriveLetter, d.Path, d.IsReady, d.RootFolder.Path, d.ShareName = "", TypeName(d.TotalSize)
Next
Set w = fso.GetDrive("w:\")
WScript.Echo TypeName(w), w.Path, w.DriveType >= 1, w.TotalSize >= w.FreeSpace, w.FreeSpace >= w.AvailableSpace
WScript.Echo Len(w.FileSystem) > 0, TypeName(w.SerialNumber), w.VolumeName = ""
WScript.Echo drives("Z").Path, drives.Item("c:").RootFolder.IsRootFolder
WScript.Echo fso.GetFolder("W:\").Drive.Path, fso.GetDriveName("W:\x"), fso.DriveExists("W")
On Error Resume Next
fso.GetDrive "Q"
WScript.Echo "unmapped:", Err.Number, Err.Description
Err.Clear
WScript.Echo drives("Q").Path
WScript.Echo "unmapped item:", Err.Number, Err.Description
Err.Clear
w.VolumeName = "label"
WScript.Echo "label:", Err.Number, Err.Description
