' RegExp and Scripting.Dictionary through the host, ending in an uncaught dictionary error
Set re = New RegExp
re.Pattern = "(\w+)@(\w+)\.com"
re.IgnoreCase = True
re.Global = True
text = "Mail ann@example.com or BOB@HOST.COM today"
For Each m In re.Execute(text)
  WScript.Echo m.FirstIndex & " " & m.Value & " user=" & m.SubMatches(0) & " host=" & m.SubMatches(1)
Next
WScript.Echo re.Replace(text, "<$2:$1>")
re.Global = False
WScript.Echo re.Replace(text, "[$&]")

Set words = CreateObject("Scripting.Dictionary")
words.CompareMode = vbTextCompare
For Each w In Split("the cat saw The dog and THE bird", " ")
  words(w) = words(w) + 1
Next
For Each w In words
  WScript.Echo w & " " & words(w)
Next
WScript.Echo words.Count & " " & Join(words.Items, ",")
words.Add "CAT", 0
WScript.Echo "not reached"
