' host switches: //T:1
' A script that runs too long is ended at its next statement
WScript.Echo "started"
Dim n : n = 0
Do
  n = n + 1
Loop
