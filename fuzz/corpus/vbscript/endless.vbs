Function R(n) : R = R(n + 1) : End Function
x = R(0)
While True : Wend
