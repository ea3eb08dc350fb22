// Lets a library build before its first source file exists.
