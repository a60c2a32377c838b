' Calls on what an expression returned: New X.Member, (expr)(args), f(a)(b) = value
Class NameValue
  Public Name, Value
  Public Function Init(n, v)
    Name = n : Value = v
    Set Init = Me
  End Function
  Public Default Function Pair(n, v) : Set Pair = New NameValue.Init(n, v) : End Function
End Class
Class Checker
  Public Mode
  Public Property Get ByCheckSum : Mode = "checksum" : Set ByCheckSum = Me : End Property
  Public Function Run : Run = "run " & Mode : End Function
End Class
Class StringFormatter
  Public Default Function Format(values) : Format = Join(values, "-") : End Function
End Class
Class Table
  Private m_items
  Private Sub Class_Initialize : Set m_items = CreateObject("Scripting.Dictionary") : End Sub
  Public Default Property Get Item(key)
    If IsObject(m_items(key)) Then Set Item = m_items(key) Else Item = m_items(key)
  End Property
  Public Property Let Item(key, value) : m_items(key) = "let " & value : End Property
  Public Property Set Item(key, value) : Set m_items(key) = value : End Property
  Public Property Get Section(name) : Set Section = Me : End Property
End Class
Function incl(name) : Set incl = New NameValue : End Function

Dim o : Set o = New NameValue.Init("age", 70)
WScript.Echo o.Name, o.Value, TypeName(New NameValue.Init("a", 1))
With New Checker.ByCheckSum
  WScript.Echo .Run, .Mode
End With
Dim nv : Set nv = (incl("NameValue"))("City", "Portland")
WScript.Echo nv.Name, nv.Value
WScript.Echo (New StringFormatter)(Array("a", "b", "c")), (o).Name, ((o)).Value

Dim d, inner : Set d = CreateObject("Scripting.Dictionary")
Set inner = CreateObject("Scripting.Dictionary")
d.Add "k", inner
d.Item("k")("x") = 1
d("k")("y") = 2
WScript.Echo inner("x"), inner("y"), inner.Count
Dim t : Set t = New Table
t.Section("main")("a") = 5
WScript.Echo t("a"), t.Section("main")("a")
Set t.Section("main")("obj") = inner
WScript.Echo t.Section("main")("obj").Count
Dim grid(1) : grid(0) = Array(1, 2, 3)
grid(0)(1) = "changed"
WScript.Echo Join(grid(0), " ")
