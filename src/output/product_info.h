#pragma once
// The maker's two web addresses, shown by the Help menu and the about window.

inline constexpr const char* kHomePageAddress = "https://lumeroll.example.org/";
inline constexpr const char* kSupportPageAddress = "https://lumeroll.example.org/support/";
