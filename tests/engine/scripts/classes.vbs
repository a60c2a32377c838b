' Classes: properties, default member, Me, Initialize/Terminate
Class Account
  Private m_balance
  Public Owner
  Private Sub Class_Initialize : m_balance = 0 : End Sub
  Private Sub Class_Terminate : WScript.Echo "closing", Owner : End Sub
  Public Default Property Get Balance : Balance = m_balance : End Property
  Public Property Let Balance(v)
    If v < 0 Then Err.Raise 5
    m_balance = v
  End Property
  Public Function Deposit(amount)
    Balance = Balance + amount
    Set Deposit = Me
  End Function
End Class
Dim a : Set a = New Account
a.Owner = "ann"
a.Deposit(10).Deposit 5
WScript.Echo a.Balance, a, TypeName(a), IsObject(a)
On Error Resume Next
a.Balance = -1
WScript.Echo "raise", Err.Number, Err.Description
a.Missing
WScript.Echo "missing", Err.Number
On Error GoTo 0
Dim b : Set b = a
WScript.Echo b Is a, a Is Nothing
Set a = Nothing
WScript.Echo "one left"
Set b = Nothing
WScript.Echo "done"
