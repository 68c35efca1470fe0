/* outer /* inner-looking */ struct AFTER { long x; };
// struct HIDDEN { long h; };
struct KEEP {   // the kept one /* not a block
    long id;    /* block
                   over lines */ short s;
    char note[4]; // trailing
};
/* unclosed
struct LOST { long l; };
