XIncludeFile "CommonFile.pb"
IncludePath "lib/"
XIncludeFile "Helpers.pb"
IncludeFile "sub/Strings.pb" ; texts
;IncludeFile "Old.pb"
includefile "lower.pb"
XIncludeFile "EventGadget.pb"
XIncludeFile "Missing.pb"

MessageRequester(MyLanguage("Hello"), MyLanguage("World"))
