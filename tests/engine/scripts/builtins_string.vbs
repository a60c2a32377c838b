' The string library: positions, cuts, case, trimming, building, comparing, splitting, codes.
Option Explicit
Sub Show(label, value)
  WScript.Echo label & " = [" & value & "]"
End Sub
Sub ShowErr(label)
  WScript.Echo label & " -> error " & Err.Number & ": " & Err.Description
  Err.Clear
End Sub

Show "InStr", InStr("abcabc", "c")
Show "InStr start", InStr(4, "abcabc", "c")
Show "InStr text", InStr(1, "ABC", "b", 1)
Show "InStr binary", InStr(1, "ABC", "b", 0)
Show "InStr default binary", InStr("ABC", "b")
Show "InStr null hay", IsNull(InStr(Null, "a"))
Show "InStr null needle", IsNull(InStr("a", Null))
Show "InStr empty hay", InStr("", "a")
Show "InStr empty needle", InStr("abc", "")
Show "InStr empty needle start", InStr(2, "abc", "")
Show "InStr start beyond", InStr(5, "abc", "b")
Show "InStr number", InStr(12345, 34)
Show "InStrRev", InStrRev("abcabc", "c")
Show "InStrRev start", InStrRev("abcabc", "c", 5)
Show "InStrRev text", InStrRev("abcabc", "C", -1, 1)
Show "InStrRev none", InStrRev("abcabc", "x")
Show "Left", Left("hello", 2)
Show "Left long", Left("hello", 10)
Show "Left null", IsNull(Left(Null, 1))
Show "Right", Right("hello", 3)
Show "Right long", Right("hello", 9)
Show "Mid", Mid("hello", 2, 3)
Show "Mid rest", Mid("hello", 2)
Show "Mid beyond", Mid("hello", 10)
Show "Mid null", IsNull(Mid(Null, 1))
Show "LenB", LenB("abc")
Show "LeftB", LeftB("abcd", 4)
Show "MidB", MidB("abcd", 3, 2)
Show "RightB", RightB("abcd", 2)
Show "InStrB", InStrB("abc", "b")
Show "LCase", LCase("HeLLo 1")
Show "UCase", UCase("HeLLo 1")
Show "LCase accent", AscW(LCase(ChrW(192)))
Show "UCase accent", AscW(UCase(ChrW(233)))
Show "LCase null", IsNull(LCase(Null))
Show "LTrim", LTrim("  a  ")
Show "RTrim", RTrim("  a  ")
Show "Trim", Trim("  a  ")
Show "Trim keeps tabs", Len(Trim(Chr(9) & "a "))
Show "Space", Len(Space(3))
Show "String text", String(3, "ab")
Show "String code", String(3, 65)
Show "String code mod 256", String(2, 321)
Show "StrComp binary", StrComp("a", "B")
Show "StrComp text", StrComp("a", "B", 1)
Show "StrComp equal text", StrComp("abc", "ABC", 1)
Show "StrComp less", StrComp("abc", "abd")
Show "StrComp null", IsNull(StrComp(Null, "a"))
Show "StrComp type", TypeName(StrComp("a", "b"))
Show "StrReverse", StrReverse("abc")
Show "Replace", Replace("aXbXc", "X", "-")
Show "Replace text", Replace("aXbXc", "x", "-", 1, -1, 1)
Show "Replace binary", Replace("aXbXc", "x", "-")
Show "Replace start", Replace("aXbXc", "X", "-", 3)
Show "Replace count", Replace("aXbXc", "X", "-", 1, 1)
Show "Replace count zero", Replace("aXbXc", "X", "-", 1, 0)
Show "Replace empty find", Replace("abc", "", "-")
Show "Replace remove", Replace("abc", "b", "")
Show "Replace start beyond", Replace("abc", "a", "-", 5)
Dim parts
parts = Split("a,b,c", ",")
Show "Split", UBound(parts) & ":" & parts(0) & parts(1) & parts(2)
parts = Split("a,b,c", ",", 2)
Show "Split limit", UBound(parts) & ":" & parts(1)
Show "Split empty", UBound(Split(""))
Show "Split default", Split("a b")(1)
Show "Split text", UBound(Split("aXbxc", "x", -1, 1))
Show "Split binary", UBound(Split("aXbxc", "x"))
Show "Split no delimiter", UBound(Split("abc", ""))
Show "Split type", TypeName(Split("a")(0))
Show "Join", Join(Array("a", "b", "c"), "-")
Show "Join default", Join(Array(1, 2))
Show "Join empty", Join(Array("a", "b"), "")
Show "Filter", Join(Filter(Array("apple", "banana", "cherry"), "an"), ",")
Show "Filter exclude", Join(Filter(Array("apple", "banana", "cherry"), "an", False), ",")
Show "Filter text", Join(Filter(Array("ABC", "abd", "x"), "b", True, 1), ",")
Show "Filter none", UBound(Filter(Array("a"), "z"))
Show "Asc", Asc("Apple")
Show "Asc ansi", Asc(ChrW(8364))
Show "AscW", AscW(ChrW(8364))
Show "AscW negative", AscW(ChrW(-1))
Show "AscB", AscB("A")
Show "Chr", Chr(65) & Chr(97)
Show "Chr ansi", AscW(Chr(128))
Show "ChrW", ChrW(66)
Show "Hex", Hex(255)
Show "Hex integer", Hex(-1)
Show "Hex long", Hex(CLng(-1))
Show "Hex big", Hex(65536)
Show "Hex rounds", Hex(2.5) & " " & Hex(3.5)
Show "Hex empty", Hex(Empty)
Show "Hex null", IsNull(Hex(Null))
Show "Oct", Oct(8)
Show "Oct integer", Oct(-1)
Show "Escape", Escape("a b&c@*_+-./" & ChrW(228) & ChrW(8364))
Show "Unescape", AscW(Unescape("%e4")) & " " & AscW(Unescape("%u20AC")) & " " & Unescape("%41%zz%u12%")

On Error Resume Next
Dim x
x = InStr(0, "abc", "a") : ShowErr "InStr start 0"
x = InStr(Null, "abc", "a") : ShowErr "InStr start Null"
x = InStr(1, "abc", "a", 2) : ShowErr "InStr compare 2"
x = InStrRev("abc", "c", 0) : ShowErr "InStrRev start 0"
x = Left("hello", -1) : ShowErr "Left negative"
x = Left("hello", Null) : ShowErr "Left Null length"
x = Mid("hello", 0) : ShowErr "Mid start 0"
x = Mid("hello", 1, -1) : ShowErr "Mid negative length"
x = Space(-1) : ShowErr "Space negative"
x = String(2, "") : ShowErr "String empty"
x = StrReverse(Null) : ShowErr "StrReverse Null"
x = Replace(Null, "a", "b") : ShowErr "Replace Null"
x = Replace("abc", "a", "b", 0) : ShowErr "Replace start 0"
x = Split("a b", " ", -2) : ShowErr "Split count -2"
x = Join("abc") : ShowErr "Join text"
x = Asc("") : ShowErr "Asc empty"
x = Asc(Null) : ShowErr "Asc Null"
x = Chr(256) : ShowErr "Chr 256"
x = ChrW(65536) : ShowErr "ChrW 65536"
x = Hex(2147483648) : ShowErr "Hex overflow"
