' FileSystemObject's path functions, and drive letters mapped to folders and back.
Set fso = CreateObject("Scripting.FileSystemObject")
WScript.Echo TypeName(fso)

Sub Show(path)
  WScript.Echo "[" & path & "] drive=" & fso.GetDriveName(path) & " parent=" & fso.GetParentFolderName(path) & _
    " file=" & fso.GetFileName(path) & " base=" & fso.GetBaseName(path) & " ext=" & fso.GetExtensionName(path)
End Sub
Show "C:\Windows\System32\notepad.exe"
Show "c:\dir\sub\"
Show "C:\"
Show "C:file.txt"
Show "\\server\share\folder\data.tar.gz"
Show "/home/user/.profile"
Show "/tmp"
Show "relative\name"

WScript.Echo fso.BuildPath("C:\Data", "file.txt"), fso.BuildPath("C:\Data\", "\file.txt"), fso.BuildPath("C:", "x"), fso.BuildPath("/tmp", "x")

' Absolute paths keep the form they came in with; "." and ".." are resolved in the string.
WScript.Echo fso.GetAbsolutePathName("W:\a\.\b\..\c\")
WScript.Echo fso.GetAbsolutePathName("w:/x/y/../../../z. .")
WScript.Echo fso.GetAbsolutePathName("/usr/./lib/../bin")
WScript.Echo fso.GetAbsolutePathName("fso_paths.vbs")
WScript.Echo fso.GetAbsolutePathName("\\?\C:\long\path")

' W: is this script's folder; Z: is the root of the file system.
fso.CreateFolder "W:\made"
WScript.Echo fso.FolderExists("W:\made"), fso.DriveExists("w"), fso.DriveExists("Q:")
WScript.Echo fso.GetFolder("W:\made").Path, fso.GetFolder("W:\made\").Name, fso.GetFolder("w:\made").Drive.Path

' Both ways: the temporary folder comes back under Z:; its POSIX form reaches W:'s folder too.
Set temp = fso.GetSpecialFolder(2)
posix = Replace(Mid(temp.Path, 3), "\", "/")
WScript.Echo Left(temp.Path, 3), posix, fso.FolderExists(posix)
posixW = posix
For i = 1 To 6
  posixW = fso.GetParentFolderName(posixW)
Next
posixW = posixW & "/files"
WScript.Echo posixW, fso.FolderExists(posixW & "/made"), fso.GetFolder(posixW & "/made").Path
WScript.Echo fso.GetSpecialFolder(0).Path, fso.GetSpecialFolder(1).Path, fso.FolderExists("C:\Windows\System32")
WScript.Echo fso.GetFolder("/").Path, fso.GetFolder("/").IsRootFolder, fso.GetFolder("Z:\").IsRootFolder
WScript.Echo fso.GetFolder("/tmp").Drive.DriveLetter, TypeName(fso.GetFolder("/").ParentFolder)

Name = fso.GetTempName
WScript.Echo Len(Name), Left(Name, 3), Right(Name, 4)

On Error Resume Next
fso.GetFolder "Q:\nothing"
WScript.Echo "unmapped drive:", Err.Number, Err.Description
Err.Clear
fso.GetFolder "\\server\share\x"
WScript.Echo "network share:", Err.Number, Err.Description
Err.Clear
fso.GetFolder "W:\" & String(10000, "n")
WScript.Echo "10,000 characters:", Err.Number, Err.Description
Err.Clear
WScript.Echo fso.FileExists("W:\" & String(10000, "n")), fso.FolderExists("Q:\")
fso.GetDrive "nonsense"
WScript.Echo "bad drive:", Err.Number, Err.Description
