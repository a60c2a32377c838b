' Find files by extension in a folder with CIM_DataFile, as administrators write it, and check
' the answer against FileSystemObject's view of the same folder.
Option Explicit
Dim fso, objWMIService, colFiles, objFile, name, strList, intFso, f
Set fso = CreateObject("Scripting.FileSystemObject")
fso.CreateFolder "W:\Logs"
For Each name In Array("app.log", "web.log", "notes.txt", "old.LOG")
    fso.CreateTextFile("W:\Logs\" & name).Write name
Next
Set objWMIService = GetObject("winmgmts:{impersonationLevel=impersonate}!\\.\root\cimv2")
Set colFiles = objWMIService.ExecQuery _
    ("Select * from CIM_DataFile where Drive = 'W:' and Path = '\\Logs\\' and Extension = 'log'")
WScript.Echo "Log files: " & colFiles.Count
intFso = 0
For Each f In fso.GetFolder("W:\Logs").Files
    If LCase(fso.GetExtensionName(f.Path)) = "log" Then intFso = intFso + 1
Next
WScript.Echo "As many as the folder holds: " & (colFiles.Count = intFso)
For Each objFile In colFiles
    If CDbl(objFile.FileSize) <> fso.GetFile(objFile.Name).Size Then WScript.Echo "Size differs: " & objFile.Name
    If objFile.FileName & "." & objFile.Extension <> fso.GetFileName(objFile.Name) Then WScript.Echo "Name differs"
Next
Set objFile = objWMIService.Get("CIM_DataFile.Name='W:\\Logs\\notes.txt'")
WScript.Echo objFile.FileName & " " & objFile.Extension & " " & objFile.FileSize & " bytes in " & objFile.Drive & objFile.Path
WScript.Echo "Renamed: " & objFile.Rename("W:\Logs\notes.log")
WScript.Echo "Now found by name: " & objWMIService.ExecQuery("Select * from CIM_DataFile where Name = 'W:\\Logs\\notes.log'").Count
WScript.Echo "Old name gone: " & (Not fso.FileExists("W:\Logs\notes.txt"))
On Error Resume Next
Set colFiles = objWMIService.ExecQuery("Select * from CIM_DataFile where Extension = 'log'")
WScript.Echo "Whole-disk search: " & Hex(Err.Number) & " " & Err.Description
