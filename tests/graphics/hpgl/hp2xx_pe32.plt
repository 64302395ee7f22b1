IN;SP1;PA0,0;PE7<=?x?x?Yf__?\b@Yf__@\b?\bOZd?\bP]`;
PE7:e<P]`PZdVfYcibH[c_;
PE7<=GeOWh=OQpGe;
