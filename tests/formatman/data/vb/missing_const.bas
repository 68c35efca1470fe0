Type T
    S As String * NOSUCH
End Type
