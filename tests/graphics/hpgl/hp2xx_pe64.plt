IN;SP1;PA0,0;PE<=_Ë_Ë?|À¿¿_ý@|À¿¿`ý_ýo\À_ýPÞ;
PE:Å<PÞp\ÀvÂYÁÉÂHMÀ¿;
PE<=GÂO[Á=OXÃGÂ;
