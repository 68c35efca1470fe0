Type UNIX ' first line
    A As Long ' kept
    B As String * 4
End Type
