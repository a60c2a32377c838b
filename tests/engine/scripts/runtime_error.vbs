' An unhandled runtime error ends the script with its position
Dim a(1)
WScript.Echo "before"
  a(5) = 1
WScript.Echo "never"
