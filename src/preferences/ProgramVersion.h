#pragma once

// The name and version the about page shows; kept in step with the project's version.
inline const char* const kProgramName = "Orvella";
inline const char* const kProgramVersion = "1.0";
