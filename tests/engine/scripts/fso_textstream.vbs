' TextStream: ANSI and Unicode round trips, the three line ends, Line and Column, and the errors.
Set fso = CreateObject("Scripting.FileSystemObject")
Set ts = fso.CreateTextFile("W:\ansi.txt", True)
WScript.Echo TypeName(ts)
ts.WriteLine "caf" & ChrW(233)
ts.Write "a" & vbCr & "b" & vbLf & "c" & vbCrLf
ts.WriteBlankLines 2
ts.Write "end"
WScript.Echo ts.Line, ts.Column
ts.Close
WScript.Echo fso.GetFile("W:\ansi.txt").Size
Set ts = fso.OpenTextFile("W:\ansi.txt", 1)
Do Until ts.AtEndOfStream
  n = ts.Line
  WScript.Echo n & ": [" & Replace(ts.ReadLine, ChrW(233), "e'") & "]"
Loop
WScript.Echo ts.Line, ts.Column
ts.Close

Set ts = fso.OpenTextFile("W:\uni.txt", 2, True, -1)
ts.WriteLine "Gr" & ChrW(252) & ChrW(223) & "e " & ChrW(8364) & " " & ChrW(20013)
ts.Close
WScript.Echo fso.GetFile("W:\uni.txt").Size
Set ts = fso.GetFile("W:\uni.txt").OpenAsTextStream(1, -1)
line = ts.ReadLine
WScript.Echo Len(line), AscW(Mid(line, 3, 1)), AscW(Right(line, 1))
ts.Close
Set ts = fso.OpenTextFile("W:\uni.txt", 1, False, 0)
WScript.Echo Asc(ts.Read(1)), Asc(ts.Read(1)), "(the byte order mark read as ANSI)"
ts.Close

Set ts = fso.OpenTextFile("W:\ansi.txt", 8)
ts.Write "+more"
ts.Close
Set ts = fso.OpenTextFile("W:\ansi.txt")
ts.SkipLine
WScript.Echo Replace(ts.Read(3), vbCr, "<CR>"), ts.Column, ts.AtEndOfLine
ts.Skip 1
WScript.Echo ts.AtEndOfLine, ts.Line
all = ts.ReadAll
WScript.Echo Len(all), Right(all, 8), ts.AtEndOfStream
ts.Close

On Error Resume Next
Set ts = fso.OpenTextFile("W:\ansi.txt")
ts.ReadAll
ts.ReadLine
WScript.Echo "past the end:", Err.Number, Err.Description
Err.Clear
ts.Write "x"
WScript.Echo "writing a reader:", Err.Number, Err.Description
Err.Clear
Set out = fso.CreateTextFile("W:\ansi2.txt")
out.ReadLine
WScript.Echo "reading a writer:", Err.Number, Err.Description
Err.Clear
out.Write ChrW(20013)
WScript.Echo "not in the code page:", Err.Number, Err.Description
Err.Clear
fso.CreateTextFile "W:\ansi.txt", False
WScript.Echo "exists:", Err.Number, Err.Description
Err.Clear
fso.OpenTextFile "W:\none.txt"
WScript.Echo "missing:", Err.Number, Err.Description
Err.Clear
fso.OpenTextFile "W:\ansi.txt", 3
WScript.Echo "bad mode:", Err.Number, Err.Description
Err.Clear
fso.OpenTextFile "W:\", 1
WScript.Echo "a folder:", Err.Number, Err.Description
Err.Clear
fso.CreateTextFile("W:\empty.txt").Close
fso.OpenTextFile("W:\empty.txt").ReadAll
WScript.Echo "empty file:", Err.Number, Err.Description
Err.Clear
On Error GoTo 0

' Standard output as a text stream, in order with Echo.
Set so = fso.GetStandardStream(1)
so.WriteLine "through the standard stream"
WScript.Echo "after it"
