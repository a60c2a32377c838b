On Error Resume Next
s = Replace(Mid("a,b;c", 2, 9), ";", ",", 1, -1, vbTextCompare)
p = Split(s, ",", 2)
j = Join(Filter(p, "b", False), vbCrLf)
n = InStrRev(s, ",") + InStr(1, s, "B", 1) + LenB(MidB(s, 3))
h = Hex(Round(-2.5)) & Oct(Abs(-32768)) & Chr(Asc("A")) & ChrW(AscW("z")) & String(3, 42)
d = DateAdd("m", 1, DateSerial(2024, 1, 31))
w = DatePart("ww", d, vbMonday, vbFirstFourDays) + DateDiff("h", d, Now) + Weekday(d, 8)
x = StrComp(UCase(Trim(Space(2) & j)), LCase(StrReverse(h)), 1) & Sqr(-1) & Log(0) & Int(Null)
