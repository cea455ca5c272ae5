// Holds the Win32 services of this folder until their own files exist.
