' A program started by Win32_Process.Create in a folder of the script's choosing: it runs
' there, on its own, and what it writes lands where FileSystemObject looks.
Option Explicit
Dim fso, objWMIService, intReturn, intPID, i, strOut
Set fso = CreateObject("Scripting.FileSystemObject")
fso.CreateFolder "W:\Jobs"
Set objWMIService = GetObject("winmgmts:\\.\root\cimv2")
intReturn = objWMIService.Get("Win32_Process").Create("sh -c ""echo $$ > pid.tmp && mv pid.tmp pid.txt""", "W:\Jobs", Null, intPID)
WScript.Echo "Create returned: " & intReturn
For i = 1 To 200
    If fso.FileExists("W:\Jobs\pid.txt") Then Exit For
    WScript.Sleep 50
Next
strOut = fso.OpenTextFile("W:\Jobs\pid.txt").ReadLine
WScript.Echo "Ran in the folder asked for, as the process reported: " & (CLng(strOut) = intPID)
WScript.Echo "Missing folder: " & objWMIService.Get("Win32_Process").Create("true", "W:\NoSuchFolder", Null, intPID)
