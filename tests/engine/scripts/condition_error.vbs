' A runtime error in a condition tested on a line of its own is reported at that line
Dim n
n = 0
Do
  n = n + 1
  WScript.Echo "pass", n
  Loop Until n / (2 - n) > 5
WScript.Echo "never"
