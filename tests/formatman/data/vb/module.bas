Attribute VB_Name = "Module1"
Option Explicit
Const W = 8
Public Const QUOTED = "it's" ' a constant with an apostrophe
Private Const N As Integer = 3

Public Type REC
    ID As Long ' 番号
    NAME As String * 20
    CODE As String * W
    ' only a comment
    V
    A(3) As Integer
    X As String
    MSG As String * 12 ' text "can't" stay
    B(NOPE) As Long
End Type

Private Type SMALL
    D As Double
End Type
