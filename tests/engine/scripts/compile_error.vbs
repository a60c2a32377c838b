WScript.Echo "never runs"
If x Then
  y = 1
