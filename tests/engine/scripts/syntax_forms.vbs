' Forms that real scripts use and that must compile
Dim folder, name : folder = "C:" : name = "x"
WScript.Echo folder&"\"&name, "A:\"&name, """"&name&""""
WScript.Echo &H1F & "|" & &O17 & "|" & &17 & "|" & &HFFFF&
Class Box : Public Items : End Class
Dim b : Set b = New Box : b.Items = Array(1, 2, 3)
WScript.Echo UBound((b).Items), (b).Items(1)
Dim e
For Each e In (b).Items : WScript.Echo e : Next
