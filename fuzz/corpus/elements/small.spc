*R,Resistor,RES,STD,2,1
1,Resistance
2,TC1
R%n
*A,"NAND, LS",D_NAND,LS,1,0
1,Rise delay
