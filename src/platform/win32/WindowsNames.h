// <windows.h> turns names such as CreateDirectory or MessageBox into their ANSI or wide
// variants by macro, and the platform interfaces use some of those names for members. A file
// that includes <windows.h> and uses the interfaces includes this right after <windows.h>,
// before any platform header, so that every file sees the members under their own names;
// it then calls the Windows functions by their full names (CreateDirectoryA, MessageBoxA).
#undef CopyFile
#undef CreateDirectory
#undef DeleteFile
#undef MessageBox
#undef RemoveDirectory
#undef SetCurrentDirectory
