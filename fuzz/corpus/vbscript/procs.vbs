Function F(n)
  If n < 2 Then F = n Else F = F(n - 1) + F(n - 2)
End Function
x = F(10)
Do : x = x - 1 : Loop Until x < 0
Select Case x : Case -1 : y = &HFF : Case Else : y = #1/2/2003# : End Select
