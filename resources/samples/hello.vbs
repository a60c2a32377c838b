' A first script to try Quillet on: change it and save it back.
Option Explicit

Dim strName, intHour
strName = "world"
intHour = Hour(Now)

If intHour < 12 Then
    WScript.Echo "Good morning, " & strName & "!"
Else
    WScript.Echo "Hello, " & strName & "!"
End If
