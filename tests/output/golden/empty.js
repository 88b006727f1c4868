jslumeroll1=new awkmanbSPM();
jslumeroll1.awkmbnbspm(1000,240,120,1,"solid","#000000",5,"#FFFFFF",1000,"pointer");
