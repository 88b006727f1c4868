#pragma once
// Where the program points its users: the home page named in every generated
// page and the help and about windows, and the support page beside it.

inline constexpr const char* kHomePageAddress = "https://lumeroll.example.org/";
inline constexpr const char* kSupportPageAddress = "https://lumeroll.example.org/support/";
inline constexpr const char* kCopyrightNotice = "Copyright (C) The JavaScript Lumeroll developers";
