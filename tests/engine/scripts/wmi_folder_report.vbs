' Folder report with Win32_Directory and CIM_DataFile: the subfolders of a folder and the size
' of the files in it, cross-checked with FileSystemObject.
Option Explicit
Dim fso, objWMIService, colFolders, objFolder, colFiles, objFile, dblTotal, dblFso, f, strNames
Set fso = CreateObject("Scripting.FileSystemObject")
fso.CreateFolder "W:\Reports"
fso.CreateFolder "W:\Reports\2025"
fso.CreateFolder "W:\Reports\2026"
fso.CreateFolder "W:\Reports\.cache"
fso.CreateTextFile("W:\Reports\summary.csv").Write String(1000, "x")
fso.CreateTextFile("W:\Reports\readme.txt").Write "Monthly reports"
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")
Set colFolders = objWMIService.ExecQuery("Select * From Win32_Directory Where Drive = 'W:' And Path = '\\Reports\\'")
WScript.Echo "Subfolders: " & colFolders.Count & " " & (colFolders.Count = fso.GetFolder("W:\Reports").SubFolders.Count)
For Each objFolder In colFolders
    If objFolder.Hidden Then strNames = strNames & " hidden:" & objFolder.FileName
Next
WScript.Echo "Hidden folders:" & strNames
Set colFiles = objWMIService.ExecQuery("Select * From CIM_DataFile Where Drive = 'W:' And Path = '\\Reports\\'")
dblTotal = 0
For Each objFile In colFiles : dblTotal = dblTotal + CDbl(objFile.FileSize) : Next
dblFso = 0
For Each f In fso.GetFolder("W:\Reports").Files : dblFso = dblFso + f.Size : Next
WScript.Echo "Bytes in files: " & dblTotal & " " & (dblTotal = dblFso)
Set objFolder = objWMIService.Get("Win32_Directory.Name='W:\\Reports\\2026'")
WScript.Echo objFolder.Name & " | " & objFolder.FileType & " | " & objFolder.Path & " | writeable " & objFolder.Writeable
WScript.Echo "Non-empty folder kept: " & objWMIService.Get("Win32_Directory.Name='W:\\Reports'").Delete()
WScript.Echo "Empty folder deleted: " & objFolder.Delete() & " " & (Not fso.FolderExists("W:\Reports\2026"))
WScript.Echo "Copied: " & objWMIService.Get("Win32_Directory.Name='W:\\Reports\\2025'").Copy("W:\Archive") & " " & fso.FolderExists("W:\Archive")
