On Error Resume Next
Set re = New RegExp
re.Pattern = "(\w+)?(x*)|[^a-c]{2,}?(?=z)|\u0041\1$"
re.IgnoreCase = True : re.Global = True : re.Multiline = True
Set ms = re.Execute("abc zz" & vbLf & "A" & ChrW(&HD800) & "Qz")
For Each m In ms
  s = s & m.FirstIndex & m.Length & m.Value & m.SubMatches.Count & m.SubMatches(0) & m.SubMatches(2)
Next
r = re.Replace(s, "$2$1$&$`$'$$$10$")
b = re.Test(r) And Not re.Test(Null)
re.Pattern = "(a+)+b" : b = re.Test(String(64, "a"))
re.Pattern = "[z-a" : b = re.Test("a")
Set d = CreateObject("Scripting.Dictionary")
d.CompareMode = 1
d.Add 1, ms : d.Add "1", re : d.Add 1.0, 0 : d.Add Array(1), 2
d("K") = d("k") & "x" : d.Key("K") = Empty : d.Key(Empty) = 1
For Each k In d : d.Remove k : d(k & "!") = k : Next
x = Join(d.Keys, ",") & Join(d.Items, ",") & d.Count & d.Exists(Nothing)
d.RemoveAll : d.CompareMode = 0 : d.Remove "none"
Set g = GetObject("", "Scripting.Dictionary") : Set o = CreateObject("No.Such")
