XIncludeFile "CommonFile.pb"
