' Eval, Execute, ExecuteGlobal and GetRef, with their scopes
Dim g : g = 10
WScript.Echo Eval("g * 2 + 1"), Eval("g = 10"), TypeName(Eval("g = 11"))
Execute "g = g + 1"
WScript.Echo g
ExecuteGlobal "Function Twice(v) : Twice = v * 2 : End Function"
WScript.Echo Twice(21)
ExecuteGlobal "Class Made : Public Name : Private Sub Class_Initialize : Name = ""made"" : End Sub : End Class"
Dim made : Set made = New Made
Set twiceRef = GetRef("Twice")
WScript.Echo made.Name, TypeName(made), twiceRef(4), Eval("Twice(5) + 0")

Sub Scoped(p)
  Const kLimit = 5
  Dim local : local = "local"
  Execute "local = local & ""!"" : p = p + 1 : g = g + 100"
  WScript.Echo local, p, Eval("local & p")
  ExecuteGlobal "Dim madeGlobal : madeGlobal = 7"
  Execute "fresh = 3"
  WScript.Echo Eval("fresh"), Eval("kLimit * 2")
End Sub
Dim arg : arg = 1
Scoped arg
WScript.Echo arg, g, madeGlobal

Function Result()
  Execute "Result = ""set by Execute"""
End Function
WScript.Echo Result()

Class Counter
  Private m_n
  Public Sub Bump() : Execute "m_n = m_n + 1" : End Sub
  Public Property Get N() : N = Eval("m_n") : End Property
End Class
Dim c : Set c = New Counter
c.Bump : c.Bump
WScript.Echo c.N

Function Add(a, b) : Add = a + b : End Function
Dim f : Set f = GetRef("Add")
WScript.Echo f(2, 3), TypeName(f)

On Error Resume Next
Execute "x = (1"
WScript.Echo Err.Number, Err.Description
Err.Clear
Dim r : r = Eval("1 / 0")
WScript.Echo Err.Number, Err.Description
Err.Clear
Set f = GetRef("NoSuchThing")
WScript.Echo Err.Number, Err.Description
Err.Clear
WScript.Echo Eval("1 2")
WScript.Echo Err.Number, Err.Description
Err.Clear
Add , 2
WScript.Echo Err.Number
Err.Clear
WScript.Echo Add(1, )
WScript.Echo Err.Number, Err.Description
Sub Keep() : WScript.Echo "kept" : End Sub
ExecuteGlobal "Sub Keep() : WScript.Echo ""replaced"" : End Sub : Sub Keep() : End Sub"
WScript.Echo Err.Number, Err.Description : Err.Clear
ExecuteGlobal "Class Half : Sub M() : Exit For : End Sub : End Class : Sub Keep() : End Sub"
WScript.Echo Err.Number : Err.Clear
Keep
Set f = New Half
WScript.Echo Err.Number, Err.Description : Err.Clear
' Execute declares for the rest of the procedure; an undeclared name is one variable in any spelling
Sub Declares()
  Execute "Dim inside : inside = 5"
  counter = 1
  Execute "Counter = COUNTER + Inside"
  WScript.Echo inside, counter
End Sub
Declares
' A constant from ExecuteGlobal goes to a procedure by value; declaring a name twice fails
ExecuteGlobal "Const Limit = 3"
WScript.Echo Limit, TypeName(Limit)
ExecuteGlobal "Dim madeGlobal"
WScript.Echo Err.Number, Err.Description : Err.Clear
ExecuteGlobal "Const Limit = 4"
WScript.Echo Err.Number, Limit : Err.Clear
On Error GoTo 0
Execute "WScript.Echo ""line one"" : Err.Raise 5"
