' Folders: their collections, sizes, copies, moves and deletions, For Each over them.
Set fso = CreateObject("Scripting.FileSystemObject")
Set root = fso.CreateFolder("W:\tree")
WScript.Echo TypeName(root), root.Path, root.Name, root.Type, root.Attributes, root.IsRootFolder
Set subs = root.SubFolders
Set a = subs.Add("alpha")
subs.Add "Beta"
subs.Add "gamma"
a.CreateTextFile("inside.txt").Write String(100, "x")
fso.CreateTextFile("W:\tree\Beta\b.txt").Write String(20, "y")
fso.CreateTextFile("W:\tree\top.txt").Write "top"
WScript.Echo TypeName(subs), subs.Count, root.Files.Count, TypeName(root.Files)
For Each folder In root.SubFolders
  WScript.Echo folder.Name, folder.Size, folder.Files.Count, folder.ParentFolder.Name
Next
WScript.Echo root.Size, subs("Beta").Path, root.Files("top.txt").Size

root.Copy "W:\copy"
WScript.Echo fso.GetFolder("W:\copy").Size, fso.FileExists("W:\copy\alpha\inside.txt")
fso.CopyFolder "W:\tree\*a", "W:\copy\alpha\"
WScript.Echo fso.GetFolder("W:\copy\alpha").SubFolders.Count
Set g = subs("gamma")
fso.CreateFolder "W:\moved"
g.Move "W:\moved\"
WScript.Echo g.Path, fso.FolderExists("W:\tree\gamma")
g.Name = "delta"
WScript.Echo g.Path, g.Name
fso.MoveFolder "W:\moved\delta", "W:\tree\gamma"
WScript.Echo root.SubFolders.Count

On Error Resume Next
fso.CreateFolder "W:\tree"
WScript.Echo "exists:", Err.Number, Err.Description
Err.Clear
fso.CreateFolder "W:\no\such"
WScript.Echo "parent missing:", Err.Number, Err.Description
Err.Clear
fso.GetFolder "W:\tree\top.txt"
WScript.Echo "file as a folder:", Err.Number, Err.Description
Err.Clear
fso.MoveFolder "W:\tree", "W:\copy"
WScript.Echo "move onto a folder:", Err.Number, Err.Description
Err.Clear
fso.CopyFolder "W:\tree", "W:\tree\alpha\inner"
WScript.Echo "into itself:", Err.Number, Err.Description
Err.Clear
fso.DeleteFolder "W:\tree\"
WScript.Echo "trailing separator:", Err.Number, Err.Description
Err.Clear
fso.DeleteFolder "W:\nothing*"
WScript.Echo "delete no match:", Err.Number, Err.Description
Err.Clear
fso.GetFile("W:\tree\Beta\b.txt").Attributes = 1
fso.DeleteFolder "W:\tree"
WScript.Echo "read-only inside:", Err.Number, Err.Description, fso.FolderExists("W:\tree\Beta")
Err.Clear
subs.Item 3
WScript.Echo "key not a name:", Err.Number, Err.Description
Err.Clear
On Error GoTo 0

fso.DeleteFolder "W:\tree", True
fso.DeleteFolder "W:\*"
WScript.Echo fso.FolderExists("W:\tree"), fso.FolderExists("W:\copy"), fso.GetFolder("W:\").SubFolders.Count
