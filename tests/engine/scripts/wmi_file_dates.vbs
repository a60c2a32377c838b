' File dates and attributes from CIM_DataFile, turned into dates with SWbemDateTime as
' administrators do, and compared with what FileSystemObject says of the same file.
Option Explicit
Dim fso, objWMIService, objFile, dtm, f, colFiles
Set fso = CreateObject("Scripting.FileSystemObject")
fso.CreateTextFile("W:\status.txt").Write "ready"
fso.CreateTextFile("W:\.settings").Write "x=1"
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")
Set dtm = CreateObject("WbemScripting.SWbemDateTime")
Set objFile = objWMIService.Get("CIM_DataFile.Name='W:\\status.txt'")
Set f = fso.GetFile("W:\status.txt")
dtm.Value = objFile.LastModified
WScript.Echo "Modified as the file system says: " & (DateDiff("s", dtm.GetVarDate(True), f.DateLastModified) = 0)
dtm.Value = objFile.LastAccessed
WScript.Echo "Accessed as the file system says: " & (DateDiff("s", dtm.GetVarDate(True), f.DateLastAccessed) = 0)
dtm.Value = objFile.CreationDate
WScript.Echo "Created no later than modified: " & (dtm.GetVarDate(True) <= f.DateLastModified)
WScript.Echo "CIM datetime form: " & (Mid(objFile.LastModified, 15, 1) = "." And Len(objFile.LastModified) = 25)
WScript.Echo "Size: " & objFile.FileSize & " " & (CDbl(objFile.FileSize) = f.Size)
WScript.Echo "Readable " & objFile.Readable & ", hidden " & objFile.Hidden & ", archive " & objFile.Archive
Set colFiles = objWMIService.ExecQuery("Select * from CIM_DataFile Where Name = 'W:\\.settings'")
For Each objFile In colFiles
    WScript.Echo objFile.FileName & "|" & objFile.Extension & "| hidden " & objFile.Hidden
Next
