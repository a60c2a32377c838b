Class C
  Private v
  Public Property Get P : P = v : End Property
  Public Property Let P(x) : v = x : End Property
  Sub Class_Terminate : v = 0 : End Sub
End Class
Set o = New C : o.P = 5 : x = o.P + 1
On Error Resume Next
x = 1 / 0 : y = Err.Number
