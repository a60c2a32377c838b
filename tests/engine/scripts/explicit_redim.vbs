Option Explicit
' ReDim declares the name it sizes, at the top and inside a procedure
ReDim list(2)
list(0) = "first"
WScript.Echo UBound(list), list(0)
ReDim Preserve list(4)
WScript.Echo UBound(list), list(0)
Sub Local
  ReDim items(1)
  items(1) = "local"
  WScript.Echo UBound(items), items(1)
End Sub
Local
Local
Sub Grow
  ReDim Preserve list(6)
End Sub
Grow
WScript.Echo UBound(list), list(0)
Sub Undeclared
  items = 1
End Sub
Undeclared
