<Generator_Name>
JavaScript Lumeroll
</Generator_Name>
<Generator_Version>
1.0
</Generator_Version>
<Product_Name>
General Menu Structure Description Format
</Product_Name>
<Product_Version>
1.0
</Product_Version>
<Structure_Description>
First line<br />Second line<br />#$@Company news#$@http://example.com/news.html#$@_blank#$@0#$@
Our products<br />#$@Products#$@#$@_self#$@1#$@
Opens <b>today</b><br /><br />Come along<br />#$@Café opening#$@http://example.com/cafe#$@_self#$@2#$@
Content here ...#$@Prices#$@prices.html#$@_top#$@1#$@
#$@Jobs#$@ jobs.html #$@#$@0#$@
</Structure_Description>
