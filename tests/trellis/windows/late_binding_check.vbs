' Drives the registered control from VBScript as a script user would: created by
' its ProgID, every member bound late by name, Doubles where Longs and texts are
' declared, variables passed by reference. Run with Wine's cscript.
'   cscript //nologo late_binding_check.vbs
' Prints one line per check; the exit code is the number of failed checks.
Option Explicit

Dim failures, t, key, half, name, text, number
failures = 0

Sub Check(ok, what)
    If ok Then
        WScript.Echo "ok: " & what
    Else
        WScript.Echo "FAILED: " & what
        failures = failures + 1
    End If
End Sub

Set t = CreateObject("Dovetail.Trellis")
WScript.Echo "TypeName: " & TypeName(t)
' The name of the type information: Windows drops the leading underscore of the
' interface _Trellis, Wine 8 shows it; without a type library it would be "Object".
Check TypeName(t) = "Trellis" Or TypeName(t) = "_Trellis", "TypeName names the control"

Check t.CurrentKey = "", "a fresh control has no current key"
Check t.GetStringVal("x") = "", "a member before CurrentKey fails with the empty text"
Check t.GetDWORDVal("x") = 1010, "and GetDWORDVal gives the error code 1010"

t.CurrentKey = " hkey_current_user \ Software "
Check t.CurrentKey = "HKEY_CURRENT_USER\Software", "CurrentKey is trimmed and its root upper-cased"
Check t.CreateAKey("TrellisScriptCheck") = True, "CreateAKey creates a key"
t.CurrentKey = "HKEY_CURRENT_USER\Software\TrellisScriptCheck"

' Whole numbers held as Doubles, as /, ^, Int, Fix and Round give them.
Check t.SetDWORDVal("half", 10 / 2) = True, "SetDWORDVal takes 10/2"
Check t.GetDWORDVal("half") = 5, "and stores 5"
Check t.SetStringVal("five", 10 / 2) = True, "SetStringVal takes 10/2"
Check t.GetStringVal("five") = "5", "and stores the text 5"
Check t.SetDWORDVal("power", 2 ^ 10) = True And t.GetDWORDVal("power") = 1024, "2 ^ 10 is 1024"
Check t.SetDWORDVal("rounded", Round(7.6)) = True And t.GetDWORDVal("rounded") = 8, "Round(7.6) is 8"

' Variables go by reference (VT_BYREF | VT_VARIANT).
name = "byref"
half = 21 / 1
Check t.SetDWORDVal(name, half) = True And t.GetDWORDVal(name) = 21, "variables by reference"
text = "d" & Chr(233) & "j" & Chr(224) & " vu"
Check t.SetStringVal(name & "Text", text) = True, "SetStringVal with a variable"
Check t.GetStringVal(name & "Text") = text, "GetStringVal reads the text back"
number = "42"
Check t.SetDWORDVal("fromText", number) = True And t.GetDWORDVal("fromText") = 42, _
    "numeric text becomes a Long"
Check t.KeyExists("fromText", 1) = True, "KeyExists finds a DWORD value"
Check t.KeyExists("missing", 0) = False, "KeyExists is False for a missing value"
Check t.KeyExists("five", 2.0) = False, "KeyExists with an unsupported type is False"

' A number beyond a Long is an overflow, text no number a type mismatch.
On Error Resume Next
Err.Clear
t.SetDWORDVal "big", 3 * 10 ^ 9
Check Err.Number = 6, "3000000000 overflows (" & Err.Number & ")"
Err.Clear
t.SetDWORDVal "word", "twelve"
Check Err.Number = 13, "text that is no number is a type mismatch (" & Err.Number & ")"
Err.Clear
t.SetDWORDVal "word"
Check Err.Number = 450, "a missing argument is refused (" & Err.Number & ")"
On Error GoTo 0
Check t.GetDWORDVal("big") = 1012, "and nothing was written"

Dim folder
folder = CreateObject("Scripting.FileSystemObject").GetSpecialFolder(2).Path
Check t.BackupKey("HKEY_CURRENT_USER\Software\TrellisScriptCheck", folder, "scriptcheck") = True, _
    "BackupKey exports the key"
t.CurrentKey = "HKEY_CURRENT_USER\Software"
Check t.DeleteAKey("TrellisScriptCheck") = True, "DeleteAKey removes the key"

WScript.Echo failures & " failed"
WScript.Quit failures
