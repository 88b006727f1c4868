jslumeroll1=new awkmanbSPM();
jslumeroll1.awkmaNBSPm('<p align="left" style="padding:2px;"><a style="font-family:Ms Sans Serif,Georgia,Helvetica,Arial;font-size:14px;font-weight:bold;font-style:normal;color:#000000;">News Title</a></p><p align="left" style="font-family:Ms Sans Serif,Georgia,Helvetica,Arial;font-size:14px;font-weight:normal;font-style:normal;padding:2px;color:#000000;">Content here ...<br /></p>');
jslumeroll1.awkmbnbspm(1000,240,120,1,"solid","#000000",5,"#FFFFFF",1000,"pointer");
