Dim a
MsgBox a
