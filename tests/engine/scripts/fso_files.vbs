' Files: making, copying, moving, renaming and deleting them, with wildcards, and the errors
' scripts test for, provoked for real in this script's own folder (W:).
Set fso = CreateObject("Scripting.FileSystemObject")
fso.CreateFolder "W:\src"
fso.CreateFolder "W:\dst"
For Each name In Array("one.txt", "Two.TXT", "three.log", ".hidden")
  Set ts = fso.CreateTextFile("W:\src\" & name)
  ts.Write name
  ts.Close
Next

Set f = fso.GetFile("W:\src\one.txt")
WScript.Echo TypeName(f), f.Path, f.Name, f.ShortName, f.Size, f.Type, f.Attributes
WScript.Echo f.ParentFolder.Path, f.Drive.DriveLetter, TypeName(f.DateLastModified), f.DateCreated <= Now
WScript.Echo fso.GetFile("W:\src\.hidden").Attributes, fso.GetFile("W:\src\three.log").Type

fso.CopyFile "W:\src\*.txt", "W:\dst\"
fso.CopyFile "W:\src\three.log", "W:\dst\renamed.log"
For Each item In fso.GetFolder("W:\dst").Files
  WScript.Echo "copied", item.Name, item.Size
Next

f.Copy "W:\dst\copy.txt"
f.Move "W:\dst\moved.txt"
WScript.Echo f.Path, fso.FileExists("W:\src\one.txt"), fso.FileExists("W:\dst\moved.txt")
f.Name = "final.txt"
WScript.Echo f.Path, fso.FileExists("W:\dst\moved.txt")
fso.MoveFile "W:\dst\*.log", "W:\src\"
WScript.Echo fso.FileExists("W:\src\renamed.log")

' Read-only: the attribute comes from the write bits, and stops deleting and overwriting.
f.Attributes = 1
WScript.Echo f.Attributes
On Error Resume Next
f.Delete
WScript.Echo "delete read-only:", Err.Number, Err.Description
Err.Clear
fso.CopyFile "W:\src\Two.TXT", "W:\dst\final.txt"
WScript.Echo "overwrite read-only:", Err.Number, Err.Description
Err.Clear
fso.CopyFile "W:\src\Two.TXT", "W:\dst\copy.txt", False
WScript.Echo "no overwrite:", Err.Number, Err.Description
Err.Clear
fso.CopyFile "W:\src\Two.TXT", "W:\dst"
WScript.Echo "onto a folder:", Err.Number, Err.Description
Err.Clear
fso.CopyFile "W:\src\none.txt", "W:\dst\"
WScript.Echo "missing file:", Err.Number, Err.Description
Err.Clear
fso.CopyFile "W:\nowhere\none.txt", "W:\dst\"
WScript.Echo "missing folder:", Err.Number, Err.Description
Err.Clear
fso.CopyFile "W:\src\*.none", "W:\dst\"
WScript.Echo "no match:", Err.Number, Err.Description
Err.Clear
fso.MoveFile "W:\src\Two.TXT", "W:\dst\copy.txt"
WScript.Echo "move onto a file:", Err.Number, Err.Description
Err.Clear
fso.GetFile "W:\src"
WScript.Echo "folder as a file:", Err.Number, Err.Description
Err.Clear
fso.DeleteFile "W:\src\*.none"
WScript.Echo "delete no match:", Err.Number, Err.Description
Err.Clear
On Error GoTo 0

f.Delete True
WScript.Echo fso.FileExists("W:\dst\final.txt")
fso.DeleteFile "W:\dst\*"
WScript.Echo fso.GetFolder("W:\dst").Files.Count, fso.GetFolder("W:\src").Files.Count
WScript.Echo fso.GetFileVersion("W:\src\Two.TXT") = ""
