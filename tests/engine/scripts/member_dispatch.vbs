' One call site, many classes: each instance answers with its own class's member, privacy included
Class Cat
  Public Name
  Private Secret
  Public Function Speak() : Speak = Name & " meows" : End Function
  Public Property Get Legs() : Legs = 4 : End Property
  Public Function Peek() : Secret = "cat secret" : Peek = Me.Secret : End Function
  Public Function Own() : Secret = "own" : Own = Secret : End Function
End Class
Class Bird
  Public Name
  Public Secret
  Public Function Speak() : Speak = Name & " sings" : End Function
  Public Legs
End Class
Class Stone
  Public Name
End Class
Function Describe(o)
  Describe = o.Speak() & " on " & o.Legs & " legs"
End Function
Dim animals(2), i, c, b
Set c = New Cat : c.Name = "Tom"
Set b = New Bird : b.Name = "Tweety" : b.Legs = 2
Set animals(0) = c : Set animals(1) = b : Set animals(2) = c
For i = 0 To 2
  WScript.Echo Describe(animals(i))
Next
WScript.Echo c.Own()
On Error Resume Next
Dim x
For i = 0 To 1
  Err.Clear : x = "unset"
  x = Array(c, b)(i).Secret
  WScript.Echo "secret", i, x, Err.Number
Next
Err.Clear : x = "unset"
x = c.Peek()
WScript.Echo "peek", x, Err.Number
Dim s : Set s = New Stone
For Each i In Array(b, s, b)
  Err.Clear : x = "unset"
  x = i.Speak()
  WScript.Echo "speak", x, Err.Number
Next
b.Legs = 3 : b.Secret = "told"
WScript.Echo b.Legs, b.Secret
' An instance whose last reference goes while its own code runs lives until that code returns
Class Fleeting
  Public Name
  Private Sub Class_Terminate : WScript.Echo "terminate", Name : End Sub
  Public Function Drop()
    Set holder = Nothing
    WScript.Echo "still here", Me.Name
    Drop = "dropped " & Name
  End Function
  Public Property Let Label(v) : Set holder = Nothing : Name = v : WScript.Echo "label", Name : End Property
End Class
Dim holder
Set holder = New Fleeting : holder.Name = "first"
WScript.Echo holder.Drop()
Set holder = New Fleeting : holder.Name = "second"
holder.Label = "renamed"
WScript.Echo "end"
